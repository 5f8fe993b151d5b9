#pragma once

#include "vstgui/ReferenceCounted.h"
#include "vstgui/Types.h"

namespace VSTGUI {

// Base of the toolkit's reference-counted objects that can receive messages.
class CBaseObject : public ReferenceCounted {
public:
    // Handles a message from sender (for instance CVSTGUITimer::kMsgTimer); the default knows none.
    virtual CMessageResult notify(CBaseObject* sender, IdStringPtr message)
    {
        (void)sender;
        (void)message;
        return kMessageUnknown;
    }
};

} // namespace VSTGUI
