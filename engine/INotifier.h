#ifndef CHIRPWELL_ENGINE_INOTIFIER_H
#define CHIRPWELL_ENGINE_INOTIFIER_H

#include <string>

// Shows the user a message that needs only an OK (a box on the desktop, a line on
// standard error in a script).
class INotifier {
public:
    virtual ~INotifier() = default;
    virtual void ShowMessage(const std::string& text) = 0;  // CP932
};

#endif
