#pragma once

// Toolbar pictures drawn in code. A desktop without an icon theme (a bare X
// server, many minimal desktops) would otherwise get the style's standard
// pixmaps, several of which mean something else (a trash can for Cut, a check
// mark for Paste). Each picture is drawn afresh for every size and device
// pixel ratio rather than scaled, so outlines stay one sharp pixel wide.

#include <QIcon>
#include <QPixmap>

#include <QString>

#include <array>

namespace zeltomir::shell {

enum class ToolbarIconKind { New, Open, Save, Print, Cut, Copy, Paste, Undo, Redo, Help, Exit };

inline constexpr std::array<ToolbarIconKind, 11> ToolbarIconKinds{
    ToolbarIconKind::New,  ToolbarIconKind::Open,  ToolbarIconKind::Save, ToolbarIconKind::Print,
    ToolbarIconKind::Cut,  ToolbarIconKind::Copy,  ToolbarIconKind::Paste, ToolbarIconKind::Undo,
    ToolbarIconKind::Redo, ToolbarIconKind::Help, ToolbarIconKind::Exit,
};

// Sizes in device-independent pixels that a drawn icon carries. 20 is the
// toolbar's own size at 96 dpi (300 twips), drawn exactly so it is not
// shrunk from 24.
inline constexpr std::array<int, 5> DrawnToolbarIconSizes{16, 20, 24, 32, 48};

// One picture, size x size device-independent pixels, drawn at the given
// device pixel ratio (its pixel size is size * ratio, rounded).
QPixmap DrawToolbarPixmap(ToolbarIconKind kind, int size, qreal devicePixelRatio = 1.0);

// The picture, drawn at the size and pixel ratio each use asks for. With a
// theme name, the desktop theme's icon of that name when it has one. The
// disabled look is left to the style, which derives it from the picture.
QIcon DrawnToolbarIcon(ToolbarIconKind kind, const QString& themeName = {});

} // namespace zeltomir::shell
