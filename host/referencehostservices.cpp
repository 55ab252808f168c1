#include "referencehostservices.h"

ReferenceHostServices::ReferenceHostServices(TvlInterface *tvl)
    : m_tvl(tvl)
{}

TvlInterface *ReferenceHostServices::GetInterface(const char *name)
{
    const std::string requested = name ? name : "";
    m_interfaceRequests.push_back(requested);
    return requested == "TVL" && !m_tvlWithheld ? m_tvl : nullptr;
}

void ReferenceHostServices::ReportError(const char *text)
{
    m_errors.push_back(text ? text : "");
}
