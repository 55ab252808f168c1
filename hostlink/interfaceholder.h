#pragma once

class TvlInterface;

// The one process-wide holder of the host's script interface. Everything that calls
// the host asks it for the interface at the moment of the call and keeps no copy.
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

private:
    InterfaceHolder() = default;

    TvlInterface *m_interface = nullptr;
    bool m_compatible = false;
};
