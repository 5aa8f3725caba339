#pragma once

// The program's resources (barmen.rc).
#define IDI_BARMEN 1
#define IDR_DEFAULT_BG 101
#define IDR_DEFAULT_CH 102
