#include "WithoutFileOverride.h"

#include <linux/capability.h>
#include <linux/securebits.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr unsigned kOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool readCaps(__user_cap_header_struct& header, __user_cap_data_struct (&data)[2]) {
    header = {_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

}  // namespace

WithoutFileOverride::WithoutFileOverride() {
    __user_cap_header_struct header{};
    __user_cap_data_struct data[2]{};
    if (!readCaps(header, data) || (data[0].effective & kOverrides) == 0) return;
    effective_[0] = data[0].effective;
    effective_[1] = data[1].effective;
    data[0].effective &= ~kOverrides;
    if (syscall(SYS_capset, &header, data) != 0) return;
    changed_ = true;
    // Permission checks by access() would otherwise give the superuser its rights back.
    securebits_ = prctl(PR_GET_SECUREBITS);
    if (securebits_ >= 0) prctl(PR_SET_SECUREBITS, securebits_ | SECBIT_NO_SETUID_FIXUP);
}

WithoutFileOverride::~WithoutFileOverride() {
    if (!changed_) return;
    if (securebits_ >= 0) prctl(PR_SET_SECUREBITS, securebits_);
    __user_cap_header_struct header{};
    __user_cap_data_struct data[2]{};
    if (!readCaps(header, data)) return;
    data[0].effective = effective_[0];
    data[1].effective = effective_[1];
    syscall(SYS_capset, &header, data);
}
