#pragma once

#include "tvlinterface.h"

#include <string>
#include <vector>

// The reference host's service object: hands out its script interface by the name
// "TVL" and keeps every error a plug-in reports.
class ReferenceHostServices final : public HostServices
{
public:
    explicit ReferenceHostServices(TvlInterface *tvl);

    void setTvlWithheld(bool withheld) { m_tvlWithheld = withheld; }
    const std::vector<std::string> &errors() const { return m_errors; }
    const std::vector<std::string> &interfaceRequests() const { return m_interfaceRequests; }

    TvlInterface *GetInterface(const char *name) override;
    void ReportError(const char *text) override;

private:
    TvlInterface *m_tvl;
    bool m_tvlWithheld = false;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_interfaceRequests;
};
