#pragma once
// The Edit menu's commands that act on the active child without knowing its
// class: each asks the child to run one of its jobs (the child's own timer
// then presses the button that does the job), and the three mode commands.
// Registered with the menu-command registry.
void InstallRouting();
