// Control kinds and the list rules that every user-interface backend shares.
#pragma once

#include <string>
#include <vector>

namespace dg {

enum class ControlKind { None, TextField, Label, Button, List, Bar, Tree };

// AddListRow's text as the cells of a list with that many columns: cell 0 up to the first
// line feed, then one cell per line feed; a line feed at the very end adds no cell. Missing
// cells are empty and cells beyond the last column are dropped.
[[nodiscard]] std::vector<std::string> SplitListRow(const std::string& text, int columns);

// The row a list remembers as selected, so that a click leaving no row selected reports the
// change once, before the click itself, whatever order the platform reports them in.
class RememberedRow {
public:
    void Selected(int row) { row_ = row; }
    // A row lost the selection.
    void Deselected(int row) {
        if (row_ == row)
            row_ = None;
    }
    // A click found no row selected: true when that is a change still to report.
    [[nodiscard]] bool ClickFoundNone() {
        if (row_ == None)
            return false;
        row_ = None;
        return true;
    }

private:
    static constexpr int Unset = -2;
    static constexpr int None = -1;
    int row_ = Unset;
};

} // namespace dg
