#pragma once

// The frame every office export runs in: the application made visible with its screen
// updating off while the steps run, and on again afterwards, also when a step fails.
namespace kestrune::office {

template <class Application, class Steps>
void runWithScreenUpdatingOff(Application& app, Steps&& steps) {
    app.Visible(true);
    app.ScreenUpdating(false);
    try {
        steps();
    } catch (...) {
        try {
            app.ScreenUpdating(true);
        } catch (...) {
            // The step's own failure is the one to report.
        }
        throw;
    }
    app.ScreenUpdating(true);
}

}  // namespace kestrune::office
