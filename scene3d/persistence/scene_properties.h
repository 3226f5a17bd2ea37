// The published properties of every streamed scene class and of the
// foundation's classes they hold, registered once at start-up.
#pragma once

void PublishSceneProperties();
