#include "shell/KeyboardIndicators.h"

#include <Qt>

namespace zeltomir::shell {

namespace {

// X11 core protocol: LockMask, and Mod2Mask where Num Lock lives on
// practically every keymap. On X11 a key press carries the state from before
// the press, so a lock key's own press reports the old state.
constexpr quint32 X11CapsLock = 0x02;
constexpr quint32 X11NumLock = 0x10;
// Qt's Windows key mapper.
constexpr quint32 WindowsCapsLock = 0x100;
constexpr quint32 WindowsNumLock = 0x200;
constexpr quint32 WindowsScrollLock = 0x400;

} // namespace

NativeModifierLayout NativeModifierLayoutFor(const QString& platformName)
{
    if (platformName == QLatin1String("xcb"))
        return NativeModifierLayout::X11;
    if (platformName == QLatin1String("windows"))
        return NativeModifierLayout::Windows;
    return NativeModifierLayout::Unknown;
}

void KeyboardIndicators::keyPressed(int key, quint32 nativeModifiers, NativeModifierLayout layout)
{
    switch (layout) {
    case NativeModifierLayout::X11:
        capsLock = (nativeModifiers & X11CapsLock) != 0;
        numLock = (nativeModifiers & X11NumLock) != 0;
        break;
    case NativeModifierLayout::Windows:
        // Reported after the toggle: nothing left to do for the lock keys.
        capsLock = (nativeModifiers & WindowsCapsLock) != 0;
        numLock = (nativeModifiers & WindowsNumLock) != 0;
        scrollLock = (nativeModifiers & WindowsScrollLock) != 0;
        if (key == Qt::Key_Insert)
            insert = !insert;
        return;
    case NativeModifierLayout::Unknown:
        break;
    }
    switch (key) {
    case Qt::Key_CapsLock:
        capsLock = !capsLock;
        break;
    case Qt::Key_NumLock:
        numLock = !numLock;
        break;
    case Qt::Key_ScrollLock:
        scrollLock = !scrollLock;
        break;
    case Qt::Key_Insert:
        insert = !insert;
        break;
    default:
        break;
    }
}

} // namespace zeltomir::shell
