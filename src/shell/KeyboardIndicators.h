#pragma once

// What the status bar knows about the keyboard's toggle states. Qt has no
// portable way to ask for them, so they are followed from the key presses
// the program sees: a lock key toggles its state, and where the platform
// passes its native modifier state along with a key press (X11, Windows) the
// Caps Lock and Num Lock states are taken from it, which corrects a guess
// made before the program had focus. States start off until known.

#include <QString>
#include <QtGlobal>

namespace zeltomir::shell {

enum class NativeModifierLayout { Unknown, X11, Windows };

struct KeyboardIndicators {
    bool numLock = false;
    bool capsLock = false;
    bool insert = false; // the overwrite toggle of the Insert key
    bool scrollLock = false;

    // Records one key press (Qt::Key value). nativeModifiers are those of the
    // same event, read according to layout.
    void keyPressed(int key, quint32 nativeModifiers, NativeModifierLayout layout);

    friend bool operator==(const KeyboardIndicators&, const KeyboardIndicators&) = default;
};

// The layout of QKeyEvent::nativeModifiers() for a Qt platform plugin name.
NativeModifierLayout NativeModifierLayoutFor(const QString& platformName);

} // namespace zeltomir::shell
