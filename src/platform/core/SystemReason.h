#pragma once
// The system's reason for a failure in the words a user of this program
// reads: German, whatever language the process runs in.

#include <string>

namespace zt::platform {

// German text for errno value `err` ("Datei oder Verzeichnis nicht
// gefunden"); a value without one gets "Systemfehler N".
std::string systemReason(int err);

} // namespace zt::platform
