#include "platform/DrawLock.h"

std::binary_semaphore drawLock{1};
