#pragma once

class QString;

// The editor's one way of sending script commands to the host.
class HostAdapter
{
public:
    // Runs `command` in the host vocabulary `target`; nothing happens while no
    // usable interface is registered.
    static void executeCommand(const QString &target, const QString &command);
};
