/* A PipeWire screen for the tests: a video source of a known picture whose
 * frames carry the pointer's position as cursor metadata, as a desktop's
 * screen cast does.
 *
 *   cursor_producer WIDTH HEIGHT
 *
 * Prints "node ID" once the stream exists. Reads "X Y" lines on standard
 * input to move the pointer; "quit" ends it. Every other frame carries only
 * the pointer (an empty chunk over a buffer of junk), as desktops send when
 * nothing but the pointer moved.
 *
 * The pixel at x, y is red x % 256, green y % 256, blue 16 * (x / 256 +
 * 4 * (y / 256)) + 7.
 */
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <pipewire/pipewire.h>
#include <spa/param/video/format-utils.h>

struct producer {
	struct pw_main_loop *loop;
	struct pw_stream *stream;
	struct spa_hook listener;
	struct spa_source *timer;
	struct spa_video_info_raw format;
	int width, height, stride;
	int cursor_x, cursor_y;
	unsigned frame;
	char input[256];
	size_t input_used;
};

static void draw(const struct producer *p, uint8_t *pixels)
{
	for (int y = 0; y < p->height; y++) {
		uint8_t *row = pixels + (size_t)y * p->stride;
		for (int x = 0; x < p->width; x++) {
			row[4 * x + 0] = (uint8_t)(16 * (x / 256 + 4 * (y / 256)) + 7); /* B */
			row[4 * x + 1] = (uint8_t)(y % 256);                           /* G */
			row[4 * x + 2] = (uint8_t)(x % 256);                           /* R */
			row[4 * x + 3] = 255;
		}
	}
}

static void on_process(void *data)
{
	struct producer *p = data;
	struct pw_buffer *b = pw_stream_dequeue_buffer(p->stream);
	if (b == NULL)
		return;
	struct spa_buffer *buf = b->buffer;
	uint8_t *pixels = buf->datas[0].data;
	if (pixels == NULL)
		return;
	struct spa_meta_cursor *cursor = spa_buffer_find_meta_data(buf, SPA_META_Cursor, sizeof(*cursor));
	if (cursor) {
		cursor->id = 1;
		cursor->position.x = p->cursor_x;
		cursor->position.y = p->cursor_y;
		cursor->hotspot.x = 0;
		cursor->hotspot.y = 0;
		cursor->bitmap_offset = 0;
	}
	const int picture = p->frame++ % 2 == 0;
	if (picture) {
		draw(p, pixels);
		buf->datas[0].chunk->size = (uint32_t)(p->stride * p->height);
	} else {
		memset(pixels, 0x5a, (size_t)p->stride * p->height);
		buf->datas[0].chunk->size = 0;
	}
	buf->datas[0].chunk->offset = 0;
	buf->datas[0].chunk->stride = p->stride;
	pw_stream_queue_buffer(p->stream, b);
}

static void on_timeout(void *data, uint64_t expirations)
{
	struct producer *p = data;
	pw_stream_trigger_process(p->stream);
}

static void on_state_changed(void *data, enum pw_stream_state old, enum pw_stream_state state, const char *error)
{
	struct producer *p = data;
	struct timespec first = {0, 1}, interval = {0, 33 * SPA_NSEC_PER_MSEC};

	switch (state) {
	case PW_STREAM_STATE_ERROR:
		fprintf(stderr, "cursor_producer: %s\n", error ? error : "stream error");
		pw_main_loop_quit(p->loop);
		break;
	case PW_STREAM_STATE_PAUSED:
		printf("node %u\n", pw_stream_get_node_id(p->stream));
		fflush(stdout);
		pw_loop_update_timer(pw_main_loop_get_loop(p->loop), p->timer, NULL, NULL, false);
		break;
	case PW_STREAM_STATE_STREAMING:
		pw_loop_update_timer(pw_main_loop_get_loop(p->loop), p->timer, &first, &interval, false);
		break;
	default:
		break;
	}
}

static void on_param_changed(void *data, uint32_t id, const struct spa_pod *param)
{
	struct producer *p = data;
	uint8_t storage[1024];
	struct spa_pod_builder b = SPA_POD_BUILDER_INIT(storage, sizeof(storage));
	const struct spa_pod *params[2];

	if (param == NULL || id != SPA_PARAM_Format)
		return;
	spa_format_video_raw_parse(param, &p->format);
	p->stride = p->width * 4;
	params[0] = spa_pod_builder_add_object(&b,
		SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers,
		SPA_PARAM_BUFFERS_buffers, SPA_POD_CHOICE_RANGE_Int(8, 4, 16),
		SPA_PARAM_BUFFERS_blocks, SPA_POD_Int(1),
		SPA_PARAM_BUFFERS_size, SPA_POD_Int(p->stride * p->height),
		SPA_PARAM_BUFFERS_stride, SPA_POD_Int(p->stride),
		SPA_PARAM_BUFFERS_dataType, SPA_POD_CHOICE_FLAGS_Int(1 << SPA_DATA_MemFd));
	params[1] = spa_pod_builder_add_object(&b,
		SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta,
		SPA_PARAM_META_type, SPA_POD_Id(SPA_META_Cursor),
		SPA_PARAM_META_size, SPA_POD_Int(sizeof(struct spa_meta_cursor) + sizeof(struct spa_meta_bitmap) + 64 * 64 * 4));
	pw_stream_update_params(p->stream, params, 2);
}

static void on_input(void *data, int fd, uint32_t mask)
{
	struct producer *p = data;
	ssize_t n = read(fd, p->input + p->input_used, sizeof(p->input) - 1 - p->input_used);
	if (n <= 0) {
		pw_main_loop_quit(p->loop);
		return;
	}
	p->input_used += (size_t)n;
	p->input[p->input_used] = '\0';
	char *line = p->input, *end;
	while ((end = strchr(line, '\n')) != NULL) {
		*end = '\0';
		int x, y;
		if (strcmp(line, "quit") == 0)
			pw_main_loop_quit(p->loop);
		else if (sscanf(line, "%d %d", &x, &y) == 2) {
			p->cursor_x = x;
			p->cursor_y = y;
		}
		line = end + 1;
	}
	p->input_used = strlen(line);
	memmove(p->input, line, p->input_used + 1);
	if (p->input_used == sizeof(p->input) - 1)
		p->input_used = 0;
}

static void on_signal(void *data, int signal_number)
{
	struct producer *p = data;
	pw_main_loop_quit(p->loop);
}

static const struct pw_stream_events stream_events = {
	PW_VERSION_STREAM_EVENTS,
	.state_changed = on_state_changed,
	.param_changed = on_param_changed,
	.process = on_process,
};

int main(int argc, char *argv[])
{
	struct producer p = {0};
	uint8_t storage[1024];
	struct spa_pod_builder b = SPA_POD_BUILDER_INIT(storage, sizeof(storage));

	if (argc != 3 || (p.width = atoi(argv[1])) <= 0 || (p.height = atoi(argv[2])) <= 0) {
		fprintf(stderr, "usage: cursor_producer WIDTH HEIGHT\n");
		return 2;
	}
	pw_init(&argc, &argv);
	p.loop = pw_main_loop_new(NULL);
	struct pw_loop *loop = pw_main_loop_get_loop(p.loop);
	pw_loop_add_signal(loop, SIGINT, on_signal, &p);
	pw_loop_add_signal(loop, SIGTERM, on_signal, &p);
	pw_loop_add_io(loop, STDIN_FILENO, SPA_IO_IN | SPA_IO_HUP, false, on_input, &p);
	p.timer = pw_loop_add_timer(loop, on_timeout, &p);

	p.stream = pw_stream_new_simple(loop, "huebird-test-screen",
		pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", NULL), &stream_events, &p);
	const struct spa_pod *params[1];
	struct spa_rectangle size = SPA_RECTANGLE(p.width, p.height);
	struct spa_fraction rate = SPA_FRACTION(30, 1);
	params[0] = spa_pod_builder_add_object(&b,
		SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat,
		SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),
		SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw),
		SPA_FORMAT_VIDEO_format, SPA_POD_Id(SPA_VIDEO_FORMAT_BGRx),
		SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&size),
		SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&rate));
	if (pw_stream_connect(p.stream, PW_DIRECTION_OUTPUT, PW_ID_ANY,
			PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS, params, 1) < 0) {
		fprintf(stderr, "cursor_producer: cannot connect to PipeWire\n");
		return 1;
	}
	pw_main_loop_run(p.loop);
	pw_stream_destroy(p.stream);
	pw_main_loop_destroy(p.loop);
	pw_deinit();
	return 0;
}
