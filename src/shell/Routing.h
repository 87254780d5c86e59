#pragma once
// The Edit menu's commands that act on the active child without knowing its
// class: each switches on the child's timer of a given name (the child's
// timer event then presses the button that does the job), and the three
// mode commands. Registered with the menu-command registry.
void InstallRouting();
