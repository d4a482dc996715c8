#include "catalogue_rows.h"
