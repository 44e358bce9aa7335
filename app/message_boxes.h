// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes the core shows: a platform service.
#pragma once

#include "platform/message_boxes.h"
