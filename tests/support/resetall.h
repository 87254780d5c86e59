#pragma once
// Every piece of the program's shared state back to a fresh start: the state
// of each subsystem, the links and the start-up hooks, the instance lock.
void ResetAllState();
