// The program's modes behind the entry point: command line, store, then the chosen mode.
#pragma once

int pemtrixMain(int argc, char** argv);
