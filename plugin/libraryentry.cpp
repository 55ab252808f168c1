// The two functions the host calls once after loading the library.

#include "interfaceholder.h"
#include "tvlinterface.h"
#include "vocabulary.h"

#include <QtGlobal>

namespace {

constexpr int LibraryVersion = 100;
constexpr int LowestTvlVersion = 1001;
constexpr int HighestTvlVersion = 1999;

bool isCompatible(TvlInterface *tvl)
{
    return tvl->GetVersion() >= LowestTvlVersion && tvl->GetVersion() <= HighestTvlVersion;
}

} // namespace

extern "C" Q_DECL_EXPORT int GetLibraryVersion()
{
    return LibraryVersion;
}

extern "C" Q_DECL_EXPORT bool RegisterLibraryContents(HostServices *host)
{
    if (!host)
        return false;
    InterfaceHolder &holder = InterfaceHolder::instance();
    holder.storeHostServices(host);
    TvlInterface *tvl = host->GetInterface("TVL");
    holder.store(tvl);
    if (!tvl) {
        host->ReportError("LoadPullPlugin failed to get TVL interface");
        return false;
    }
    if (!isCompatible(tvl)) {
        host->ReportError("LoadPullPlugin found an incompatible TVL interface");
        return false;
    }
    holder.accept();
    if (!tvl->RegisterVocabulary(0, 0, 0, 1, cmdOpVocabulary())) {
        host->ReportError("LoadPullPlugin could not register TVL vocabulary");
        return false;
    }
    return true;
}
