#include "image/BinderList.h"

#include "image/CBlockCardsBinder.h"
#include "image/CBlockTransmittersBinder.h"
#include "image/CCardholdersBinder.h"

namespace {
template <class Binder>
std::unique_ptr<CPagedBinder> Make(CBindManager& manager)
{
    return std::make_unique<Binder>(manager);
}
} // namespace

const std::vector<BinderEntry>& PagedBinders()
{
    // The single-credential, entry-code and directory-code binders join this
    // list in their places: after the block binders, the directory last.
    static const std::vector<BinderEntry> binders{
        {&Make<CCardholdersBinder>, false},
        {&Make<CBlockTransmittersBinder>, false},
        {&Make<CBlockCardsBinder>, false},
    };
    return binders;
}
