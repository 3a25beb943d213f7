// Whether Caps Lock, Num Lock and Scroll Lock are on, read from the window
// system. Where the platform cannot tell (no X display, the offscreen
// platform), every lock reads as off.
#pragma once

enum class LockKey { Caps, Num, Scroll };

bool IsLockKeyOn(LockKey key);
