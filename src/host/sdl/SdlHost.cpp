// The SDL back end.
