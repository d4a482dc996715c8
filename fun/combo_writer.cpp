#include "combo_writer.h"
