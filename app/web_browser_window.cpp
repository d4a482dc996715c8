#include "web_browser_window.h"
