#ifndef CHIRPWELL_CLI_MESSAGES_H
#define CHIRPWELL_CLI_MESSAGES_H

#include <cstdio>
#include <string>

#include "engine/INotifier.h"

// Where chirpwell-smile's messages go: one line each, "chirpwell-smile: ...", in
// UTF-8 on an error stream that must outlive this. The engine's messages come in
// CP932, about what the context names, and are told in the user's language.
class CMessages : public INotifier {
public:
    explicit CMessages(std::FILE* stream) : m_pStream(stream) {}

    // A message of the engine, CP932.
    void ShowMessage(const std::string& text) override;
    // A message of our own, UTF-8.
    void Error(const std::string& text);
    // A command line that cannot be carried out: what is wrong and where help is.
    void BadUsage(const std::string& text);
    // What the engine's next messages are about, as "name: "; empty for nothing.
    void SetContext(const std::string& context) { m_strContext = context; }

private:
    std::FILE* m_pStream;
    std::string m_strContext;
};

#endif
