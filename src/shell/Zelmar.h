#pragma once
// Program entry: hand-over to a running instance, application set-up, main window.

int RunZelmar(int argc, char* argv[]);
