"""Helpers for running the setup program end to end under Wine: prefixes, runs,
registry export, shell links, a virtual X display and Windows version switches."""
