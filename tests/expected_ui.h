// What a user sees of the program's windows: the one table that the tests of every layer read.
#pragma once

#include "platform/ids.h"
#include "platform/ui.h"

namespace dg::expected {

struct Placed {
    int control;
    int x, y, width, height;
    // nullptr where the text is checked apart (the list, the bar, the notice).
    const char* text;
    int style;
};

// The interface font's height at 96 DPI (8 points), and the tree's small icons. Like every
// length here they are at 96 DPI; the Windows program scales them by its monitor's DPI.
constexpr int FontHeight = 11;
constexpr int SmallIconSize = 16;

constexpr char MainTitle[] = "Digestorium V4.0.0";
constexpr int MainWidth = 560;
constexpr int MainHeight = 295;

constexpr int HashStyle = FieldReadOnly | FieldUpperCase;
// In the order they are created.
constexpr Placed MainControls[] = {
    {FileField, 15, 10, 458, 20, "", FieldReadOnly},
    {FileHashField, 15, 40, 223, 20, "", HashStyle},
    {CheckHashField, 15, 70, 223, 20, "", HashStyle},
    {BrowseButton, 483, 10, 35, 20, "---", 0},
    {FileHashLabel, 483, 40, 50, 20, "File MD5", 0},
    {CheckHashLabel, 483, 70, 60, 20, "Check MD5", 0},
    {ResultList, 15, 100, 528, 95, nullptr, 0},
    {FileHashLowerField, 250, 40, 223, 20, "", FieldReadOnly | FieldLowerCase},
    {VerdictField, 250, 70, 223, 20, "", HashStyle | FieldCentred},
    {CheckButton, 15, 205, 135, 20, "MD5 Check", 0},
    {ProgressBar, 67, 230, 477, 10, nullptr, 0},
    {ListDirectoryButton, 216, 205, 135, 20, "List Directory", 0},
    {TextReportButton, 409, 205, 135, 20, "List to Text File", 0},
    // Lies over ListDirectoryButton.
    {CancelButton, 216, 205, 135, 20, "Cancel", 0},
    {WorkingLabel, 15, 229, 50, 15, "Working...", 0},
};

struct Column {
    const char* title;
    int width;
};
constexpr Column ResultColumns[] = {{"File Name", 274}, {"MD5", 230}};
constexpr int StatusFieldWidth = 560;

struct MenuEntry {
    const char* menu;
    int item;
    const char* label;
    int shortcut;
};
constexpr MenuEntry MainMenu[] = {
    {"&File", MenuSelectFile, "Select &File\tCtrl+F", CtrlKey + 'F'},
    {"&File", MenuListDirectory, "List &Directory\tCtrl+D", CtrlKey + 'D'},
    {"&File", MenuCheck, "MD5 &Check\tCtrl+C", CtrlKey + 'C'},
    {"&File", MenuTextReport, "List to &Text File\tCtrl+T", CtrlKey + 'T'},
    {"&File", MenuCsvReport, "List to CS&V File\tCtrl+V", CtrlKey + 'V'},
    {"&File", MenuHtmlReport, "List to HTML File\tCtrl+H", CtrlKey + 'H'},
    {"&File", MenuClearList, "Clear List\tCtrl+L", CtrlKey + 'L'},
    {"&File", MenuExit, "E&xit\tAlt+F4", AltKey + KeyF4},
    {"&Help", MenuManual, "Digestorium Manual (PDF)\tF1", KeyF1},
    {"&Help", MenuAbout, "&About", 0},
};

constexpr char DirectoryTitle[] = "Digestorium - Select Directory";
constexpr int DirectoryWidth = 278;
constexpr int DirectoryHeight = 246;
constexpr Placed DirectoryControls[] = {{DirectoryTree, 0, 0, 279, 224, nullptr, 0},
                                        {DirectoryOkButton, 0, 225, 277, 20, "OK", 0}};

// The About texts as the program shows them in its own code page, UTF-8.
constexpr char AboutTitle[] = "Digestorium About";
constexpr int AboutWidth = 402;
constexpr int AboutHeight = 183;

constexpr Placed AboutControls[] = {
    {AboutTextLine1, 5, 15, 390, 20,
     "Digestorium is a utility program to generate and check file MD5 Hashes.  This", 0},
    {AboutTextLine2, 5, 35, 390, 20,
     "software is provided as Freeware on an \xE2\x80\x98"
     "as is\xE2\x80\x99 basis, without any express or implied ",
     0},
    {AboutTextLine3, 4, 55, 390, 20,
     "warranty.  In no event shall the author be liable for any claim, damages or other ", 0},
    {AboutTextLine4, 5, 75, 390, 20,
     "liability, arising from, out of, or in connection with the software or the use or ", 0},
    {AboutTextLine5, 5, 95, 390, 20, "dealings in the software.", 0},
    {AboutOkButton, 150, 150, 95, 25, "OK", 0},
    {AboutNoticeLabel, 5, 116, 390, 20, nullptr, 0},
};
// The notice's text: this, then the distribution site without its scheme.
constexpr char AboutNotice[] = "\xC2\xA9 2026 The Digestorium developers.  Website ";

} // namespace dg::expected
