#include "LockKeys.h"

#if defined(_WIN32)
#include <windows.h>

bool IsLockKeyOn(LockKey key)
{
    const int nVirtKey = key == LockKey::Caps ? VK_CAPITAL : key == LockKey::Num ? VK_NUMLOCK : VK_SCROLL;
    return (GetKeyState(nVirtKey) & 1) != 0;
}

#elif defined(WEXLAN_HAVE_X11)
#include <QGuiApplication>

#include <X11/XKBlib.h>

bool IsLockKeyOn(LockKey key)
{
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* pDisplay = pX11 ? pX11->display() : nullptr;
    if (!pDisplay)
        return false;
    const char* pszName = key == LockKey::Caps ? "Caps Lock" : key == LockKey::Num ? "Num Lock" : "Scroll Lock";
    const Atom indicator = XInternAtom(pDisplay, pszName, True);
    Bool bOn = False;
    if (indicator == None || !XkbGetNamedIndicator(pDisplay, indicator, nullptr, &bOn, nullptr, nullptr))
        return false;
    return bOn == True;
}

#else
bool IsLockKeyOn(LockKey)
{
    return false;
}
#endif
