#pragma once

class QPainter;

namespace kestrune {

class TScriptCircle;
class UniformRandom;

// Paints an answer circle onto its parent's painter at the circle's own position.
void paintScriptCircle(QPainter& painter, const TScriptCircle& circle, UniformRandom& random);

}  // namespace kestrune
