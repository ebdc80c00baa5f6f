#!/usr/bin/python3
"""A second CalDAV client, to see what a collection holds as another calendar program would.

    caldav_client.py URL USER PASSWORD list            -> one "UID<TAB>SUMMARY" line per event, sorted
    caldav_client.py URL USER PASSWORD create UID TEXT -> adds an event of its own
    caldav_client.py URL USER PASSWORD modify UID TEXT -> changes an event's summary
    caldav_client.py URL USER PASSWORD mkcalendar      -> makes the collection
"""
import sys

import caldav

url, user, password, command, *args = sys.argv[1:]
client = caldav.DAVClient(url=url, username=user, password=password)
if command == "mkcalendar":
    principal_url = url.rstrip("/").rsplit("/", 1)[0] + "/"
    name = url.rstrip("/").rsplit("/", 1)[1]
    caldav.Principal(client=client, url=principal_url).make_calendar(name=name, cal_id=name)
    sys.exit(0)
calendar = client.calendar(url=url)
if command == "list":
    lines = []
    for event in calendar.events():
        component = event.icalendar_instance.walk("VEVENT")[0]
        lines.append(f"{component['UID']}\t{component['SUMMARY']}")
    print("\n".join(sorted(lines)))
elif command == "create":
    uid, text = args
    calendar.save_event(
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//second client//EN\r\nBEGIN:VEVENT\r\n"
        f"UID:{uid}\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260105\r\n"
        f"DTEND;VALUE=DATE:20260106\r\nSUMMARY:{text}\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
elif command == "modify":
    uid, text = args
    event = calendar.event_by_uid(uid)
    event.icalendar_instance.walk("VEVENT")[0]["SUMMARY"] = text
    event.save()
else:
    sys.exit(f"unknown command {command}")
