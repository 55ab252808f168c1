#pragma once

class HostServices;
class TvlInterface;

// The one process-wide holder of the host's script interface, and of the service object
// that takes the plug-in's error reports. Everything that calls the host asks it for the
// interface at the moment of the call and keeps no copy.
class InterfaceHolder
{
public:
    static InterfaceHolder &instance();

    // The interface, or null while none was registered or the stored one has a
    // version this library cannot talk to.
    TvlInterface *tvlInterface() const { return m_compatible ? m_interface : nullptr; }

    // Stores what the host handed out; it is unusable until accepted.
    void store(TvlInterface *tvl);
    void accept() { m_compatible = m_interface != nullptr; }

    // Null until a host registered the library.
    HostServices *hostServices() const { return m_host; }
    void storeHostServices(HostServices *host) { m_host = host; }

private:
    InterfaceHolder() = default;

    TvlInterface *m_interface = nullptr;
    HostServices *m_host = nullptr;
    bool m_compatible = false;
};
