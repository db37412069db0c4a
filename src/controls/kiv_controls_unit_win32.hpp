#pragma once
// The themed controls' unit: what it sets up once (the shared buffer's size,
// the parent-background painters) and the classes form streams can name.

namespace kiv {

// Runs the unit's start-up once; every themed control's constructor calls it.
void StartControlsUnit();

// Registers the themed control classes for streaming (forms naming them can
// then be read). Also runs the start-up.
void RegisterKivControls();

}  // namespace kiv
