// The headless back end.
