#include "odds_rows.h"
