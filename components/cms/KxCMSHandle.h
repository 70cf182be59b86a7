#ifndef KXCMSHANDLE_H
#define KXCMSHANDLE_H

#include <KxCMS.h>

#include <memory>

struct KxCMSDestroyer {
    void operator()(KxCMS* cms) const { KxCMSDestroy(cms); }
};

// An engine handle that is destroyed with its owner.
using KxCMSHandle = std::unique_ptr<KxCMS, KxCMSDestroyer>;

#endif
