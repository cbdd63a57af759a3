#pragma once
// The program's pictures, drawn with QPainter so that no image file has to ship with it: the
// program icon, one toolbar picture per command and the five tree images.

#include <QIcon>

#include <array>

namespace dialoscope {

enum class TToolPicture {
    Load,
    Save,
    TreeSave,
    Analyze,
    BuildTree,
    SearchMsg,
    ScriptProperties,
    ExpandAll,
    CollapseAll,
    About,
};

QIcon ProgramIcon();
QIcon ToolPicture(TToolPicture picture);
// The tree images in image-index order (node, said line, answer, repeat leaf, jump), 17 x 17.
const std::array<QIcon, 5>& TreeImages();

} // namespace dialoscope
