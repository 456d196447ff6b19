// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controltable.h"

#include <QCoreApplication>

namespace ControlTable {

using T = ControlType;

const std::vector<ControlRow> &controls()
{
    static const std::vector<ControlRow> table = {
        // name            idx  type                 container   left   top   width  height text / tool tip / tag
        {"Drive1",          -1, T::DriveBox,         {},          120,  360,  2535,   315, {}, {}, {}},
        {"Dir1",            -1, T::FolderBox,        {},          120,  780,  2535,  2115, {}, {}, {}},
        {"imgView2",        -1, T::Image,            {},          120, 3000,  2475,  2175, {}, {}, {}},
        {"File1",           -1, T::FileBox,          {},         2820,  900,  1935,  3795, {}, {}, {}},
        {"List1",           -1, T::ListBox,          {},         2820,  360,  1935,  4350, {}, {}, {}},
        {"cmdRemove",       -1, T::CommandButton,    {},         4380,   60,   435,   255,
         //: Arrow that moves the selected names back to the file list. Right-to-left languages show it mirrored.
         QT_TRANSLATE_NOOP("ControlTable", "<"), {}, {}},
        {"cmdAdd",          -1, T::CommandButton,    {},         4860,   60,   435,   255,
         //: Arrow that moves the selected names to the page list. Right-to-left languages show it mirrored.
         QT_TRANSLATE_NOOP("ControlTable", ">"), {}, {}},
        {"List2",           -1, T::ListBox,          {},         4860,  360,  1935,  4350, {}, {}, {}},
        {"cmdClear",        -1, T::CommandButton,    {},         5760, 4800,  1035,   315,
         QT_TRANSLATE_NOOP("ControlTable", "Clear"), {}, {}},
        {"optFilter",        0, T::OptionButton,     {},         2820, 4860,   555,   255,
         //: File type filter: every file.
         QT_TRANSLATE_NOOP("ControlTable", "All"), {}, "*.*"},
        {"optFilter",        1, T::OptionButton,     {},         3480, 4860,   555,   255,
         //: File type filter: JPEG pictures.
         QT_TRANSLATE_NOOP("ControlTable", "jpg"), {}, "*.jpg"},
        {"optFilter",        2, T::OptionButton,     {},         4140, 4860,   675,   255,
         //: File type filter: web pages.
         QT_TRANSLATE_NOOP("ControlTable", "html"), {}, "*.html"},
        {"cmdRefresh",      -1, T::CommandButton,    {},         5700,   60,  1035,   255,
         QT_TRANSLATE_NOOP("ControlTable", "Refresh"), {}, {}},
        {"Frame2",          -1, T::Frame,            {},         6900,  120,  8055,  6435, {}, {}, {}},
        {"VScroll1",        -1, T::VScrollBar,       "Frame2",   7800,  120,   255,  6255, {}, {}, {}},
        {"Frame1",          -1, T::Frame,            "Frame2",      0,    0,  7815,  6375, {}, {}, {}},
        {"imgView",          0, T::Image,            "Frame1",     60,  120,  1875,  1695, {}, {}, {}},
        {"lblPicDesc",      -1, T::Label,            {},         6960, 6600,  2955,   195,
         QT_TRANSLATE_NOOP("ControlTable", "Picture Description (click on a pic)"), {}, {}},
        {"txtItemDesc",     -1, T::TextBox,          {},         6900, 6840,  7935,  1755,
         {}, QT_TRANSLATE_NOOP("ControlTable", "Item Description"), {}},
        {"Label1",           1, T::Label,            {},          480, 5460,   495,   195,
         QT_TRANSLATE_NOOP("ControlTable", "Name"), {}, {}},
        {"txtName",         -1, T::TextBox,          {},         1080, 5400,  5295,   375,
         {}, QT_TRANSLATE_NOOP("ControlTable", "Filename and Title. Filename appended with .html when building it."), {}},
        {"Label1",           0, T::Label,            {},          180, 6600,  1455,   195,
         QT_TRANSLATE_NOOP("ControlTable", "Page Description"), {}, {}},
        {"txtDesc",         -1, T::MultiLineTextBox, {},          120, 6840,  6555,  1695,
         {}, QT_TRANSLATE_NOOP("ControlTable", "Description at top of the page"), {}},
        {"cmdBuildLinks",   -1, T::CommandButton,    {},         1080, 5940,  1755,   315,
         QT_TRANSLATE_NOOP("ControlTable", "Build HTML of Links"), {}, {}},
        {"cmdBuild",        -1, T::CommandButton,    {},         2940, 5940,  1755,   315,
         QT_TRANSLATE_NOOP("ControlTable", "Build HTML of Images"), {}, {}},
        {"cmdViewInBrowser", -1, T::CommandButton,   {},         4800, 5940,  1575,   315,
         QT_TRANSLATE_NOOP("ControlTable", "View In Browser"), {}, {}},
    };
    return table;
}

const std::vector<QString> &tabOrder()
{
    static const std::vector<QString> order = {
        "cmdBuild", "Drive1",     "Dir1",    "File1",     "txtDesc",       "cmdRemove",
        "cmdAdd",   "List1",      "List2",   "cmdRefresh", "txtName",      "cmdClear",
        "cmdBuildLinks", "optFilter", "cmdViewInBrowser", "VScroll1", "txtItemDesc",
    };
    return order;
}

QString translated(const char *text)
{
    return text ? QCoreApplication::translate("ControlTable", text) : QString();
}

} // namespace ControlTable
