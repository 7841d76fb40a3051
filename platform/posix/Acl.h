// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A file's access control list, as the kernel keeps it in an extended attribute.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "Result.h"

namespace kovar {

struct AclEntry {
  unsigned tag;
  unsigned perm;
  std::uint32_t id;
};
constexpr unsigned kAclUser = 0x02;
constexpr unsigned kAclGroupObj = 0x04;
constexpr unsigned kAclGroup = 0x08;
constexpr unsigned kAclMask = 0x10;
constexpr unsigned kAclWrite = 2;

// The entries of the attribute's `bytes`: a 4-byte version (2), then 8 bytes an entry (tag,
// permissions, id), little-endian. No bytes, no entries; any other form fails (EINVAL).
Expected<std::vector<AclEntry>> ParseAcl(std::string_view bytes);

// The access control list of the open `fd`, however long, empty when it has none. A folder opened
// only to be passed (O_PATH), and one that can be passed but not listed, are read too.
Expected<std::vector<AclEntry>> ReadAcl(int fd);

}  // namespace kovar
