#pragma once

// The checker, --help and --version write to a terminal. On Windows the
// editor is a windowed program (no console window opens beside it), so
// these modes take the console of the program that started them, if any;
// output already redirected to a file or pipe stays where it goes.
// Does nothing elsewhere.
void useParentConsole();
