#pragma once
// The browser window the about box opens on the maker's web page.
