// waves.h - the two wave animations: a plane longitudinal and a plane
// transversal wave travelling along a chain of 65 particles (x = 0 .. 64)
// that particle 0, the exciter, drives harmonically.  The wave moves one
// particle per frame; period and wavelength are 24.
//
// Each frame follows from its number alone and is drawn straight into the
// page image (no flush, no input).  A frame sets its own colours and user
// window and leaves the window at its animation window and the line weight
// at 40.
#pragma once

// The rest marks of particles 1..63 above and below the band that the
// longitudinal frames erase; drawn when that animation is entered or resumed.
void DrawLongitudinalBackground();

// Frame n (0 and up) of the longitudinal wave: bars moving along the chain.
void DrawLongitudinalFrame(int n);

// Frame n (0 and up) of the transversal wave: dots moving across the chain,
// joined by the wave line.
void DrawTransversalFrame(int n);
