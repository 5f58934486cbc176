#include "audio/wave_in_device_id.h"

void TWaveInDeviceID::Setid(int value) {
    if (id_ == value) return;
    id_ = value;
    if (OnChange) OnChange(this);
}

void TWaveInDeviceID::Assign(const TWaveInDeviceID& source) { Setid(source.id()); }
