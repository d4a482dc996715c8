#pragma once
// The rows of the Pick 5 and Pick 6 wheel catalogues: fixed texts with the wheel code they stand for.
