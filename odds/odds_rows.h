#pragma once
// The rows of the Pick 5 and Pick 6 total-odds tables.
