#pragma once
// The desktop's "show window contents while dragging" setting, which the program switches off while it
// runs. Where the desktop has no such setting it is reported off, so the program never touches it.

namespace nm::platform {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual bool fullWindowDrag() const = 0;
    // Writes the setting to the user's profile and tells every window.
    virtual void setFullWindowDrag(bool on) = 0;
};

class SystemDesktop : public Desktop {
public:
    bool fullWindowDrag() const override;
    void setFullWindowDrag(bool on) override;
};

} // namespace nm::platform
