#pragma once

#include <optional>

class QString;

// The editor's one way of sending script commands to the host.
class HostAdapter
{
public:
    // Runs `command` in the host vocabulary `target`; nothing happens while no
    // usable interface is registered.
    static void executeCommand(const QString &target, const QString &command);

    // `text` as a double-quoted script string, with quotes and backslashes escaped so
    // that no text can end the string early. Nothing for a text holding a control
    // character, which no script string may carry, or a character outside Latin-1, which
    // no command text can.
    static std::optional<QString> scriptString(const QString &text);
};
