#pragma once
// The combination files writer: every k-number combination of 1..n into a series of text files.
