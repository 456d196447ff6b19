// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

enum class ControlType {
    DriveBox,
    FolderBox,
    FileBox,
    ListBox,
    TextBox,
    MultiLineTextBox,
    OptionButton,
    CommandButton,
    Label,
    Frame,
    VScrollBar,
    Image,
};

// One control of the main window, placed in twips relative to its
// container. `index` is the element's index in a control array, -1 for a
// control that is not in one. The caption and the tool tip are the English
// source texts, null for none; translated() gives them as shown.
struct ControlRow
{
    QString name;
    int index = -1;
    ControlType type = ControlType::Label;
    QString container; // empty: the window itself
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    const char *text = nullptr;
    const char *toolTip = nullptr;
    QString tag;
};

namespace ControlTable {

// The window's client area, in twips.
inline constexpr float clientWidth = 14985;
inline constexpr float clientHeight = 8925;

// Every control the window is built with, containers before their children.
const std::vector<ControlRow> &controls();

// The controls in tab order; "optFilter" stands for the whole group.
const std::vector<QString> &tabOrder();

// A caption or tool tip of the table in the user's language; empty for none.
QString translated(const char *text);

} // namespace ControlTable
