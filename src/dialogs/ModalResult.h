// SPDX-License-Identifier: MIT
#pragma once

// The answers every dialog of the program closes with. A window's close box answers Cancel.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3 };
