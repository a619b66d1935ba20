namespace tamsel { void placeholder_app() {} }
