// Where the program is distributed; named in the About window and the reports.
#pragma once

#include <string_view>

// A release build sets the real address (without its scheme) with -DDG_DISTRIBUTION_SITE.
#ifndef DG_DISTRIBUTION_SITE
#define DG_DISTRIBUTION_SITE "www.digestorium.example.org"
#endif

namespace dg {

inline constexpr std::string_view DistributionSite = DG_DISTRIBUTION_SITE;
// The text report's banner has room for no more.
static_assert(DistributionSite.size() <= 41, "the distribution site is too long");

} // namespace dg
