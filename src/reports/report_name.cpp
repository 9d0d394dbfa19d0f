#include "reports/report_name.h"

#include "reports/date_mask.h"

namespace dg {

std::string ReportFileName(long long date, std::string_view extension) {
    return "Digestorium " + FormatDateMask("%hh%ii%ss", date) + "_" +
           FormatDateMask("%dd%mm%yyyy", date) + std::string(extension);
}

} // namespace dg
