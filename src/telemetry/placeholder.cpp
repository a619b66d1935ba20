namespace tamsel { void placeholder_telemetry() {} }
