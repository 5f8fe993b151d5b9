#pragma once

#include "vstgui/IReference.h"

namespace VSTGUI {

// The one implementation of IReference. Counts are not atomic: toolkit objects belong to the
// user-interface thread. The process-wide count of live objects lets tests prove that every
// reference was returned.
class ReferenceCounted : public IReference {
public:
    ReferenceCounted();
    // A copy is a new object with its own single reference.
    ReferenceCounted(const ReferenceCounted&);
    ReferenceCounted& operator=(const ReferenceCounted&) { return *this; }
    ~ReferenceCounted() override;

    void remember() override { ++nbReference; }
    // Deletes the object when the last reference goes.
    void forget() override;
    int32_t getNbReference() const override { return nbReference; }

    static int64_t liveObjectCount();

private:
    int32_t nbReference = 1;
};

} // namespace VSTGUI
