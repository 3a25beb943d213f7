// What an update handler is given: the one command (menu item, toolbar
// button, accelerator) whose availability is being decided.
#pragma once

class CCmdUI {
public:
    virtual ~CCmdUI() = default;
    virtual void Enable(bool bOn = true) = 0;
    // A check mark beside the item; ignored where the item cannot show one.
    virtual void SetCheck(bool /*bChecked*/ = true) {}
};
