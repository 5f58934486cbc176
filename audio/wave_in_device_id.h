#pragma once
// Which wave-input device a recorder opens.

#include <functional>

class TWaveInDeviceID {
public:
    using ChangeEvent = std::function<void(TWaveInDeviceID* sender)>;

    // Device number 0..DeviceCount()-1, or -1 for the system's default input.
    int id() const { return id_; }
    // Stores the value; OnChange follows only when it differs.
    void Setid(int value);

    // Copies the values through the setters.
    void Assign(const TWaveInDeviceID& source);

    ChangeEvent OnChange;  // called after id changes

private:
    int id_ = -1;
};
