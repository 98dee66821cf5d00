#include "RegenForm.h"

RegenForm RegenForm::FromSettings(const Settings& s)
{
    RegenForm f;
    f.watts = s.RegenResWatts;
    f.secs = s.RegenResSecs;
    f.ohms = s.RegenResOhms;
    f.external = s.RegenExternal;
    return f;
}

void RegenForm::writeTo(Settings& s) const
{
    s.RegenExternal = external;
    s.RegenResWatts = watts;
    s.RegenResSecs = secs;
    s.RegenResOhms = ohms;
}
