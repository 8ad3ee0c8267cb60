#include "linkforms/NewNodeNames.h"

void NewNodeNames::Settle()
{
    controller.truncate(kNameMax);
    for (int c = 0; c < kChannels; ++c) {
        QString& name = channels[static_cast<std::size_t>(c)];
        name.truncate(kNameMax);
        if (name.isEmpty())
            name = Default(c);
    }
}
