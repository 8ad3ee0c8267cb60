#include "image/BinderList.h"

#include "image/CBlockCardsBinder.h"
#include "image/CBlockTransmittersBinder.h"
#include "image/CCardholdersBinder.h"
#include "image/CDirCodesBinder.h"
#include "image/CEntryCodesBinder.h"
#include "image/CSingleCardsBinder.h"
#include "image/CSingleTransmittersBinder.h"

namespace {
template <class Binder>
std::unique_ptr<CPagedBinder> Make(CBindManager& manager)
{
    return std::make_unique<Binder>(manager);
}
} // namespace

const std::vector<BinderEntry>& PagedBinders()
{
    static const std::vector<BinderEntry> binders{
        {&Make<CCardholdersBinder>, false},
        {&Make<CBlockTransmittersBinder>, false},
        {&Make<CBlockCardsBinder>, false},
        {&Make<CSingleTransmittersBinder>, false},
        {&Make<CSingleCardsBinder>, false},
        {&Make<CEntryCodesBinder>, false},
        {&Make<CDirCodesBinder>, true},
    };
    return binders;
}
