// The numbers of the resources linked into the Windows program: the resource script and the
// windows both use them.
#pragma once

#define KOVAR_IDR_MAIN 101
#define KOVAR_IDR_SP 102
#define KOVAR_IDR_MP 103
#define KOVAR_IDR_JOIN 104
#define KOVAR_IDR_START_SP 105
#define KOVAR_IDR_TILE 106
#define KOVAR_IDR_LOGO 107
