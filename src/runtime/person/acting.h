// How the person acts on the program: one way for every GUI backend, through the core's input
// calls and the backend's simulated input.
#pragma once

namespace rt::person {

// The program began wait `wait`: the person acts once the thread is idle, and again after
// each action, for as long as that wait is the innermost one.
void ActWhenIdle(int wait);

// One step of "let pending messages run": the person's next action, if it is not an answer to a
// dialog or a look, which wait for the program to wait.
void ActInMessageStep();

}  // namespace rt::person
